#pragma once
// A bounds check of a shell link's location block before liblnk reads it. liblnk copies the
// strings of that block without checking that they end inside the structures that hold them, and
// overruns its buffers on damaged links; a link whose structures do not hold together is refused.

#include <QByteArray>

bool LinkLayoutIsSound(const QByteArray& bytes);
