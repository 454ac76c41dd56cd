#pragma once
// The real platform of the system the program was built for; the executable makes it first thing.

#include <QString>
#include <memory>

#include "IPlatform.h"

std::unique_ptr<IPlatform> CreateNativePlatform(int& argc, char** argv, const QString& applicationName);
