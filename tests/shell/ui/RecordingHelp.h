// The recording help provider, under the name the shell tests use.
#pragma once

#include "support/ui/DialogTesting.h"

using testing_support::RecordingHelp;
