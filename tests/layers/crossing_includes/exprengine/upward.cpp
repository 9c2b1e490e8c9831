#include "exprengine/parser.h"
#include "formatting/error.h"
#include "frontend/run_settings.h"
