#include "host/TarvoHost.h"
