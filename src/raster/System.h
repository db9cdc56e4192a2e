#pragma once
#include "base/System.h"  // forwarding header: to be removed once src/framework includes base/System.h
