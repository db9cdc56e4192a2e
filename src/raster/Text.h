#pragma once
#include "base/Text.h"  // forwarding header: to be removed once src/framework includes base/Text.h
