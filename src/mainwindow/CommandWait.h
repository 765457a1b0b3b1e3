#pragma once
// The bounded wait for a receiver reply lives with the receiver link, where the settings
// dialogs reach it as well.
#include "receiver/CommandWait.h"
