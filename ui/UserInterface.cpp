#include "ui/UserInterface.h"

#include "common/Texts.h"
#include "platform/Messages.h"
#include "platform/Window.h"

namespace {

int Show(const std::string& text, std::uint32_t flags) {
    if ((flags & platform::kMbSystemModal) == 0) {
        flags |= platform::kMbTaskModal;
    }
    return platform::MessageBoxA(nullptr, text.c_str(), texts::kMessageCaption, flags);
}

}  // namespace

platform::WindowHandle CreateCentredForm(const platform::FormLayout& form,
                                         platform::WindowHandle owner,
                                         platform::WindowProc procedure) {
    int left = (platform::GetSystemMetrics(platform::kSmCxScreen) - form.width) / 2;
    int top = (platform::GetSystemMetrics(platform::kSmCyScreen) - form.height) / 2;
    return platform::CreateForm(form, left, top, owner, procedure);
}

void ShowInformation(const std::string& text) {
    Show(text, platform::kMbIconInformation);
}

void ShowError(const std::string& text) {
    Show(text, platform::kMbIconHand);
}

bool AskOkCancel(const std::string& text) {
    return Show(text, platform::kMbOkCancel | platform::kMbIconQuestion) == platform::kIdOk;
}

bool UserActionAllowed() {
    return !platform::InWaitingDispatch();
}
