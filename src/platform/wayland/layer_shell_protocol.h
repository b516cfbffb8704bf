#pragma once
// The generated layer-shell header names an argument "namespace", which C++
// reserves: it is renamed while the header is read.

#define namespace namespace_
#include "wlr-layer-shell-client.h"
#undef namespace
