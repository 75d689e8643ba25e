// Each host stand-in module's reset, called by ResetPlatform.
#pragma once

namespace platform::host {

void ResetWindows();
void ResetShell();
void ResetVersions();

}  // namespace platform::host
