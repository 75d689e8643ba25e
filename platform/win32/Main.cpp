// The Windows entry point.
#include <windows.h>

#include "app/Program.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return RunProgram();
}
