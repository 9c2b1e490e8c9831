#include "cmdline/banner.h"
#include <exprengine/parser.h>
