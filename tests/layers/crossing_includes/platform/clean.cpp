#include "platform/platform.h"
#include "system_locale.h"
#include <sys/time.h>
#include <chrono>
