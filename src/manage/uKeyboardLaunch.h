#pragma once
// Launching from the keyboard: once the launch key has brought the desktop panel in, what the user
// types filters every launch button (desktop, dock and side bar) by name or pinyin, the arrows move
// the choice, Enter launches it and Escape ends the search. The typed text is shown in a box at
// the top of the desktop panel, which holds the keyboard focus meanwhile.

#include <QPointer>
#include <QString>

#include <functional>
#include <vector>

#include "IHostWindow.h"
#include "uPinyin.h"

class TMaroviaManage;
class TVGBaseButton;
class TvgRectangle;
class TvgText;

class TKeyboardLaunch {
public:
    explicit TKeyboardLaunch(TMaroviaManage& AManage);
    ~TKeyboardLaunch();
    TKeyboardLaunch(const TKeyboardLaunch&) = delete;
    TKeyboardLaunch& operator=(const TKeyboardLaunch&) = delete;

    // Begins a search with an empty text: every button matches, the first one is chosen.
    void Start();
    // Ends it: every button looks as before, the box goes.
    void Stop();
    bool Active() const { return FActive; }

    // A key while searching: letters and digits extend the text, Backspace shortens it, the arrows
    // and Tab move the choice, Enter launches the choice (asking first when the button says so)
    // and Escape gives up. Both of those end the search through the finish handler.
    void KeyDown(int AKey, QChar AText, TShiftState AShift);
    // Runs when Enter or Escape ends the search, before a launch; without one the desktop panel
    // slides out.
    void SetOnFinish(std::function<void()> AHandler) { FOnFinish = std::move(AHandler); }

    QString Filter() const { return FFilter; }
    // The buttons that match, in the manager's order.
    std::vector<TVGBaseButton*> Matches() const;
    TVGBaseButton* Chosen() const;
    // The text the box shows.
    QString BoxText() const;
    TvgRectangle* Box() const { return FBox; }

    // The buttons were made again (a reload): the search goes on over the new ones.
    void ButtonsChanged();

private:
    void Refilter();
    void Choose(int AIndex);
    void Finish(bool ALaunch);
    void EnsureBox();
    void ShowBoxText();

    TMaroviaManage& FManage;
    TPinyinMatcher FMatcher;
    bool FActive = false;
    QString FFilter;
    std::vector<QPointer<TVGBaseButton>> FMatches;
    int FChosen = -1;
    QPointer<TvgRectangle> FBox;
    TvgText* FBoxText = nullptr;
    std::function<void()> FOnFinish;
};
