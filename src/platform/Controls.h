#pragma once

// The controls the windows are made of, one family a header; a window
// includes this one for all of them.
#include "platform/Choices.h"
#include "platform/ComboBox.h"
#include "platform/ControlArray.h"
#include "platform/Label.h"
#include "platform/ListView.h"
#include "platform/Panel.h"
#include "platform/PictureButton.h"
#include "platform/ProgressBar.h"
#include "platform/TextBox.h"
#include "platform/Twips.h"
