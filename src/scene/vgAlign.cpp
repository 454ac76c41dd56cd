// The layout pass: a parent places its aligned children in its rectangle, one pass per alignment
// in a fixed order (outermost strips first, then ordinary strips, the client area, and the
// centred, scaled, fitted and corner-relative objects last).

#include <algorithm>
#include <array>
#include <cmath>

#include "vgBounds.h"
#include "vgPosition.h"
#include "vgVisualObject.h"

namespace {

constexpr std::array<TvgAlign, 22> kPassOrder = {
    vaMostTop, vaMostBottom, vaMostLeft, vaMostRight, vaTop,        vaBottom,     vaLeft,       vaRight,
    vaClient,  vaHorizontal, vaVertical, vaContents,  vaCenter,     vaHorzCenter, vaVertCenter, vaScale,
    vaFit,     vaFitLeft,    vaFitRight, vaTopRight,  vaBottomLeft, vaBottomRight};

constexpr int kAlignCount = vaFitRight + 1;

bool TakesOwnWidth(TvgAlign a) {
    switch (a) {
        case vaTopLeft:
        case vaTopRight:
        case vaBottomLeft:
        case vaBottomRight:
        case vaLeft:
        case vaRight:
        case vaMostLeft:
        case vaMostRight:
        case vaVertical:
            return true;
        default:
            return false;
    }
}

bool TakesOwnHeight(TvgAlign a) {
    switch (a) {
        case vaTopLeft:
        case vaTopRight:
        case vaBottomLeft:
        case vaBottomRight:
        case vaTop:
        case vaBottom:
        case vaMostTop:
        case vaMostBottom:
        case vaHorizontal:
            return true;
        default:
            return false;
    }
}

float Trunc(float v) {
    return std::trunc(v);
}

float Round(float v) {
    return static_cast<float>(RoundHalfEven(v));
}

// Strips along an edge are placed in the order of their current position along it; for the far
// edges the one reaching furthest goes first, and among equals the later child sits outermost.
void OrderPass(TvgAlign align, std::vector<TvgVisualObject*>& children) {
    auto x = [](TvgVisualObject* c) { return c->Position()->X(); };
    auto y = [](TvgVisualObject* c) { return c->Position()->Y(); };
    switch (align) {
        case vaTop:
        case vaMostTop:
            std::stable_sort(children.begin(), children.end(), [&](auto a, auto b) { return y(a) < y(b); });
            break;
        case vaLeft:
        case vaMostLeft:
            std::stable_sort(children.begin(), children.end(), [&](auto a, auto b) { return x(a) < x(b); });
            break;
        case vaRight:
        case vaMostRight:
            std::reverse(children.begin(), children.end());
            std::stable_sort(children.begin(), children.end(),
                             [&](auto a, auto b) { return x(a) + a->Width() > x(b) + b->Width(); });
            break;
        case vaBottom:
        case vaMostBottom:
            std::reverse(children.begin(), children.end());
            std::stable_sort(children.begin(), children.end(),
                             [&](auto a, auto b) { return y(a) + a->Height() > y(b) + b->Height(); });
            break;
        default:
            break;
    }
}

}  // namespace

// Places children for one parent; kept apart from TvgVisualObject to keep each step small.
class TvgAligner {
public:
    explicit TvgAligner(TvgVisualObject& AParent) : P(AParent) {
        const TvgRect m = P.Margins()->Rect();
        R = {m.Left, m.Top, P.Width() - m.Right, P.Height() - m.Bottom};
    }

    void Run() {
        std::array<std::vector<TvgVisualObject*>, kAlignCount> passes;
        for (TvgObject* child : P.ChildList()) {
            TvgVisualObject* c = child->Visual();
            if (!c || !c->Visible() || c->Align() == vaNone) continue;
            // An alignment outside the enumeration has no pass.
            if (c->Align() < 0 || c->Align() >= kAlignCount) continue;
            passes[c->Align()].push_back(c);
        }
        for (TvgAlign align : kPassOrder) {
            auto& children = passes[align];
            if (children.empty()) continue;
            OrderPass(align, children);
            for (TvgVisualObject* c : children) Place(align, *c);
        }
    }

private:
    void Place(TvgAlign align, TvgVisualObject& C) {
        const TvgRect pad = C.Padding()->Rect();
        float w = R.Right - R.Left;
        float h = R.Bottom - R.Top;
        if (w < 0 || TakesOwnWidth(align)) w = C.Width() + pad.Left + pad.Right;
        if (h < 0 || TakesOwnHeight(align)) h = C.Height() + pad.Top + pad.Bottom;
        float x = R.Left;
        float y = R.Top;

        switch (align) {
            case vaTopRight:
            case vaBottomLeft:
            case vaBottomRight:
                MoveRelative(align, C);
                return;
            case vaContents:
                C.SetBounds(pad.Left, pad.Top, P.Width() - pad.Left - pad.Right,
                            P.Height() - pad.Top - pad.Bottom);
                return;
            case vaFit:
            case vaFitLeft:
            case vaFitRight:
                Fit(align, C, pad);
                return;
            case vaScale:
                ScaleWithParent(C);
                return;
            case vaTop:
            case vaMostTop:
                R.Top += h;
                break;
            case vaLeft:
            case vaMostLeft:
                R.Left += w;
                break;
            case vaRight:
            case vaMostRight:
                R.Right -= w;
                x = R.Right;
                break;
            case vaBottom:
            case vaMostBottom:
                R.Bottom -= h;
                y = R.Bottom;
                break;
            case vaCenter:
            case vaHorzCenter:
            case vaVertCenter:
                Centre(align, C, pad, x, y, w, h);
                break;
            case vaHorizontal:
                // Full width of the area at the object's own vertical position.
                y = C.Position()->Y() - pad.Top;
                break;
            case vaVertical:
                x = C.Position()->X() - pad.Left;
                break;
            default:
                break;
        }
        C.SetBounds(x + pad.Left, y + pad.Top, w - pad.Left - pad.Right, h - pad.Top - pad.Bottom);
        CorrectRefusedSize(align, C, pad, w, h);
    }

    void MoveRelative(TvgAlign align, TvgVisualObject& C) {
        const float dx = P.Width() - P.FLastWidth;
        const float dy = P.Height() - P.FLastHeight;
        if (align == vaTopRight || align == vaBottomRight) C.Position()->SetX(C.Position()->X() + dx);
        if (align == vaBottomLeft || align == vaBottomRight) C.Position()->SetY(C.Position()->Y() + dy);
    }

    void Centre(TvgAlign align, TvgVisualObject& C, const TvgRect& pad, float& x, float& y, float& w,
                float& h) {
        if (align != vaVertCenter) {
            const float outer = C.Width() + pad.Left + pad.Right;
            x = Trunc((w - outer) / 2) + R.Left;
            w = outer;
        }
        if (align != vaHorzCenter) {
            const float outer = C.Height() + pad.Top + pad.Bottom;
            y = Trunc((h - outer) / 2) + R.Top;
            h = outer;
        }
    }

    void Fit(TvgAlign align, TvgVisualObject& C, const TvgRect& pad) {
        const TvgRect m = P.Margins()->Rect();
        const TvgRect target{m.Left, m.Top, P.Width() - m.Right, P.Height() - m.Bottom};
        const float boxW = C.Width() + pad.Left + pad.Right;
        const float boxH = C.Height() + pad.Top + pad.Bottom;
        if (target.Width() <= 0 || target.Height() <= 0 || boxW <= 0 || boxH <= 0) return;
        const float ratio = std::max(boxW / target.Width(), boxH / target.Height());
        float fitW;
        float fitH;
        if (ratio >= 1) {
            fitW = Round(boxW / ratio);
            fitH = Round(boxH / ratio);
        } else {
            fitW = boxW / ratio;
            fitH = boxH / ratio;
        }
        float left = target.Left + Round((target.Width() - fitW) / 2);
        const float top = target.Top + Round((target.Height() - fitH) / 2);
        if (align == vaFitLeft) left = target.Left;
        if (align == vaFitRight) left = target.Right - fitW;
        C.SetBounds(left + pad.Left, top + pad.Top, fitW - pad.Left - pad.Right, fitH - pad.Top - pad.Bottom);
    }

    void ScaleWithParent(TvgVisualObject& C) {
        if (P.FLastWidth <= 0 || P.FLastHeight <= 0 || P.Width() <= 0 || P.Height() <= 0) return;
        const float sx = P.Width() / P.FLastWidth;
        const float sy = P.Height() / P.FLastHeight;
        C.SetBounds(C.Position()->X() * sx, C.Position()->Y() * sy, C.Width() * sx, C.Height() * sy);
    }

    // A child that refused the size (or changed it in its own pass) gives back, or takes, the
    // difference of the consumed area.
    void CorrectRefusedSize(TvgAlign align, TvgVisualObject& C, const TvgRect& pad, float w, float h) {
        const float outerW = C.Width() + pad.Left + pad.Right;
        const float outerH = C.Height() + pad.Top + pad.Bottom;
        if (outerW == w && outerH == h) return;
        switch (align) {
            case vaTop:
                R.Top -= h - outerH;
                break;
            case vaLeft:
                R.Left -= w - outerW;
                break;
            case vaRight:
                R.Right += w - outerW;
                break;
            case vaBottom:
                R.Bottom += h - outerH;
                break;
            case vaClient:
                R.Right += w - outerW;
                R.Bottom += h - outerH;
                break;
            default:
                break;
        }
    }

    TvgVisualObject& P;
    TvgRect R;
};

void TvgVisualObject::Realign() {
    if (Destroying()) return;
    if ((FWidth > -2 && FWidth < 2) || (FHeight > -2 && FHeight < 2)) return;
    if (FDisableDefaultAlign || FDisableAlign || FUpdating >= 1) return;
    if (Loading()) {
        FLastWidth = FWidth;
        FLastHeight = FHeight;
        return;
    }
    if ((FWidth != FLastWidth || FHeight != FLastHeight) && FHasEffect) UpdateEffects();
    // The size of the last completed pass stays the reference: a corner-anchored child added later
    // still moves by everything the parent grew since then.
    if (!FNeedAlign || ChildrenCount() == 0) return;
    struct TGuard {
        bool& Flag;
        explicit TGuard(bool& f) : Flag(f) { Flag = true; }
        ~TGuard() { Flag = false; }
    } guard(FDisableAlign);

    TvgAligner(*this).Run();
    FLastWidth = FWidth;
    FLastHeight = FHeight;
    Repaint();
}
