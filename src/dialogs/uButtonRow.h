#pragma once
// One row of the manage dialog's button list: what the list shows and what "应用" writes.

#include <QString>
#include <QStringList>

#include <optional>

#include "uButtonPicture.h"

struct TButtonRow {
    QString Caption;     // the button's name
    QString PlaceText;   // one of PlaceItems()
    QString RunAskText;  // "是" or "否"
    QString FileName;
    QString CmdLine;
    std::optional<TButtonPicture> Picture;  // what the list draws; none without an icon
    QString ImagePath;  // the full path of the row's picture file in the plan folder; empty for none
};

// The texts of the place drop-down lists of both dialogs, at the ordinals of TButtonPlace.
const QStringList& PlaceItems();
