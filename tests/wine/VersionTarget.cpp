// A program that is never run: the entries tests drop it on the main window for the version
// resource linked into it (resources/*.rc), which names the candidates offered for it.
int main() {
    return 0;
}
