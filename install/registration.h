// Registry entries of the companion software: the property page of the Mouse
// control panel, the utility run at logon and the uninstall entry.
#pragma once

// Writes every entry; a step that fails costs only itself and nothing is reported.
void register_companion();
