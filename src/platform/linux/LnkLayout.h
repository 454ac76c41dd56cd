#pragma once
// A reader of Windows shell links (.lnk) written for hostile input: every offset and length in the
// file is checked against the structure that holds it before a byte is read. Links come from other
// machines' desktops, so a damaged file is refused as a whole rather than read in part.

#include <QByteArray>
#include <QString>

#include <optional>

struct TLnkLink {
    QString IdListPath;    // the file-system path the target ID list names; empty for virtual items
    QString LocalPath;     // the location block's local base path joined with its common suffix
    QString NetworkPath;   // the share name joined with the common suffix; empty for local links
    QString Name;          // the description
    QString RelativePath;  // of the target, from the link's own folder
    QString WorkingDir;
    QString Arguments;
    QString IconLocation;
    int IconIndex = 0;
};

// Nothing when the bytes are not a sound shell link.
std::optional<TLnkLink> ReadLnkLink(const QByteArray& bytes);

inline bool LinkLayoutIsSound(const QByteArray& bytes) {
    return ReadLnkLink(bytes).has_value();
}
