#include "../cmdline/banner.h"
#include "../formatting/error.h"
#include "../../outside.h"
