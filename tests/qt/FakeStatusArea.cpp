// The meta-object code for FakeStatusArea.h is generated with this file.
#include "FakeStatusArea.h"
