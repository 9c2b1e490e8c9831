#include "cmdline/output_streams.h"
#include "frontend/driver.h"
#include "platform/platform.h"
