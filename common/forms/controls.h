#pragma once

// Every kind of control a form's layout table can name.
#include "forms/commandbutton.h"
#include "forms/smallcontrols.h"
#include "forms/textbox.h"
