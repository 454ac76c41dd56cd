#pragma once
// Installs a fresh fake platform for one test and puts the previous one back afterwards.

#include "FakePlatform.h"

class FakePlatformScope {
public:
    FakePlatformScope() : FPrevious(&Platform()) { SetPlatform(&FPlatform); }
    ~FakePlatformScope() { SetPlatform(FPrevious); }
    FakePlatformScope(const FakePlatformScope&) = delete;
    FakePlatformScope& operator=(const FakePlatformScope&) = delete;

    FakePlatform& operator*() { return FPlatform; }
    FakePlatform* operator->() { return &FPlatform; }

private:
    FakePlatform FPlatform;
    IPlatform* FPrevious;
};
