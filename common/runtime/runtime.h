#pragma once

// The whole runtime library: numbers, texts, random numbers, dates, arrays and files.
#include "runtime/appfolder.h"
#include "runtime/array.h"
#include "runtime/clock.h"
#include "runtime/codepage.h"
#include "runtime/error.h"
#include "runtime/fixedstring.h"
#include "runtime/host.h"
#include "runtime/inputfile.h"
#include "runtime/numbers.h"
#include "runtime/outputfile.h"
#include "runtime/random.h"
#include "runtime/text.h"
