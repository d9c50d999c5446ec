#pragma once

// The whole runtime library: numbers, texts, random numbers, dates, arrays and files.
#include "runtime/array.h"
#include "runtime/clock.h"
#include "runtime/codepage.h"
#include "runtime/error.h"
#include "runtime/files.h"
#include "runtime/fixedstring.h"
#include "runtime/host.h"
#include "runtime/numbers.h"
#include "runtime/random.h"
#include "runtime/text.h"
