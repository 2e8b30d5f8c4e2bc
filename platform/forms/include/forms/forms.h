#pragma once

// Everything a dialog needs: the form, its controls and the message box.
#include "forms/buttons.h"
#include "forms/catalogue.h"
#include "forms/containers.h"
#include "forms/control_array.h"
#include "forms/form.h"
#include "forms/lists.h"
#include "forms/message_box.h"
#include "forms/ranges.h"
#include "forms/text.h"
#include "forms/user.h"
