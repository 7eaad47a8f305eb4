#include "test_gdi_fixture.h"
