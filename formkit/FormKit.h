#pragma once

// Everything a plug-in needs for its dialogs.

#include "formkit/Button.h"
#include "formkit/CenterWindow.h"
#include "formkit/Dialog.h"
#include "formkit/DialogTemplate.h"
#include "formkit/DialogUnits.h"
#include "formkit/FileSaveDialog.h"
#include "formkit/FormattedMessage.h"
#include "formkit/WindowedControl.h"
