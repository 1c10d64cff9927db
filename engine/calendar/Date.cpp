#include "calendar/Date.h"
