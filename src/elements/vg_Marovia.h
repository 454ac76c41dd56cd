#pragma once
// The program's own name for the scene host: the main form and the desktop file window are
// TMarovia scenes.

#include "vgScene.h"

class TMarovia : public TvgScene {
    Q_OBJECT

public:
    using TvgScene::TvgScene;
};
