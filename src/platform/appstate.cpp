#include "platform/appstate.h"

AppState g_app;
