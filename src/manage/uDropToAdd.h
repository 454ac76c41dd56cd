#pragma once
// Adding launch buttons by dropping files, programs, folders, shortcuts or web addresses from
// another program onto the side bar, the dock or the desktop panel: each usable item becomes an
// entry of the plan's Desktop.xml at the place of the drop, with its name and icon taken from the
// item, and the scene is rebuilt from the file.

#include <QString>
#include <QStringList>

#include <optional>

#include "IHostWindow.h"
#include "uMaroviaTypes.h"
#include "vgTypes.h"

class TMaroviaManage;

// Where a drop lands: a place, and the position among that place's buttons before which the new
// one goes (the count of the place's buttons appends).
struct TDropSpot {
    TButtonPlace Place = BP_ToolBar;
    int Index = 0;
    friend bool operator==(const TDropSpot&, const TDropSpot&) = default;
};

// The spot under P (scene coordinates) on a visible dock, side bar or desktop panel; none elsewhere.
std::optional<TDropSpot> DropSpotAt(const TMaroviaManage& AManage, const TvgPoint& P);

// What one dropped item gives a button.
struct TDroppedButton {
    QString Name;
    QString FileName;
    QString CmdLine;
    QString IconSource;  // the file whose icon the button gets; empty for none
};

// A local file, folder, program, .desktop entry, .lnk or .url shortcut (AIsAddress false), or a web
// address (AIsAddress true). None, with the reason to tell the user, when it cannot be a button.
std::optional<TDroppedButton> DroppedButtonFor(const QString& AItem, bool AIsAddress, QString& AReason);

// Adds a button per usable item at the spot under P, in the order dropped; the unusable ones are
// told to the user in one message. Nothing is written when nothing is usable, or the plan's file
// cannot be read whole. Returns how many buttons were added.
int AddDroppedButtons(TMaroviaManage& AManage, const TDropData& AData, const TvgPoint& P);
