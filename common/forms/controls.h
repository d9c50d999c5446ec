#pragma once

// Every kind of control a form's layout table can name.
#include "forms/checkbox.h"
#include "forms/commandbutton.h"
#include "forms/label.h"
#include "forms/listbox.h"
#include "forms/optionbutton.h"
#include "forms/picturebox.h"
#include "forms/textbox.h"
#include "forms/timer.h"
