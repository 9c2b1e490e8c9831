#include "frontend/driver.h"
