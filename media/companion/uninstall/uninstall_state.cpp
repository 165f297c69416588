#include "uninstall_state.h"

UninstallState uninstall;
