#pragma once
// The program's scene host class: the toolkit's scene host under the program's own name. The main
// form and the desktop file window each show their scene in one.

#include "vgScene.h"

class TMarovia : public TvgScene {
    Q_OBJECT

public:
    using TvgScene::TvgScene;
};
