#include "sound/library/ds.h"
