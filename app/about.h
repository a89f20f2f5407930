#pragma once

#include "dialogs.h"

void ShowAbout(const Dialogs& dialogs);
