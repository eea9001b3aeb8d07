#pragma once

// The console of a command typed in a terminal. A window program on Windows starts without
// one, so what a command prints would go nowhere: attachToParent() connects the standard
// streams that are not already redirected to the console of the program that started Brindle
// (cmd.exe, PowerShell), when there is one. Started from Explorer there is none, and no console
// window opens. Elsewhere the standard streams are the terminal's already and nothing changes.
namespace Console {

void attachToParent();

} // namespace Console
