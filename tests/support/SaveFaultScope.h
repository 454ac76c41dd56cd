#pragma once
// Makes every save whose file name contains a text fail at one step, as a full disk would, for
// the life of the scope.

#include "uSafeSave.h"

class SaveFaultScope {
public:
    explicit SaveFaultScope(TSaveStep step, QString nameContains = QString()) {
        SetSaveFaultHook([step, nameContains](TSaveStep now, const QString& fileName) {
            return now == step && fileName.contains(nameContains);
        });
    }
    ~SaveFaultScope() { SetSaveFaultHook({}); }
    SaveFaultScope(const SaveFaultScope&) = delete;
    SaveFaultScope& operator=(const SaveFaultScope&) = delete;
};
