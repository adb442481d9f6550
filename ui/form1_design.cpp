// The window design Form1: every property the design fixes, and its event table.
#include "ui/form1_design.h"

#include "toolkit/colors.h"

namespace ui {

using toolkit::Anchors;
using toolkit::Cursor;
using toolkit::Font;

namespace {

constexpr Anchors kAllEdges{true, true, true, true};
constexpr Anchors kLeftTop{true, true, false, false};
constexpr Anchors kLeftBottom{true, false, false, true};
constexpr Anchors kRightBottom{false, false, true, true};
constexpr Anchors kLeftTopRight{true, true, true, false};
constexpr Anchors kLeftRightBottom{true, false, true, true};
constexpr Anchors kNoEdge{false, false, false, false};

const Font kWindowFont{"Tahoma", 11, false, toolkit::kSystemWindowText};

// Where a component lies, the edges it keeps its distance to, and whether it shows at start:
// a row of constants per component, applied by one function (one call instead of three).
struct Placement {
    short left, top, width, height;
    Anchors anchors;
    bool visible;
};

void place(toolkit::Control& control, const Placement& at) {
    control.setBounds(at.left, at.top, at.width, at.height);
    control.setAnchors(at.anchors);
    control.setVisible(at.visible);
}

constexpr Placement kBackgroundAt{0, 0, 1040, 585, kAllEdges, true};
constexpr Placement kInfoLabelAt{105, 367, 58, 14, kLeftBottom, true};
constexpr Placement kGaugeAt{0, 354, 1040, 34, kLeftTop, true};
constexpr Placement kGaugeBGAt{0, 0, 1040, 57, kLeftTop, false};
constexpr Placement kInfoBoxAt{400, 5, 635, 87, kLeftTopRight, false};
constexpr Placement kEdit1At{105, 408, 383, 19, kLeftRightBottom, false};
constexpr Placement kStaticText1At{105, 391, 230, 17, kLeftBottom, false};
constexpr Placement kActivityIndicatorAt{935, 454, 64, 64, kNoEdge, true};

void placeButtonPicture(toolkit::Picture& picture, int left, bool visible, Cursor cursor) {
    picture.setBounds(left, 527, 151, 50);
    picture.setAnchors(kRightBottom);
    picture.setVisible(visible);
    picture.setCursor(cursor);
}

}  // namespace

Form1Design::Form1Design() {
    window.setBorderless(true);
    window.setClientSize(1040, 585);
    window.setCaption("Instalator bibliotek CAD");
    window.setColor(toolkit::kSystemWindow);
    window.setFont(kWindowFont);

    for (toolkit::Picture* background : {&BGfinish, &BG}) {
        place(*background, kBackgroundAt);
        background->setStretch(true);
        background->setEnabled(false);
    }
    BGfinish.setVisible(false);

    place(InfoLabel, kInfoLabelAt);
    InfoLabel.setAutoSize(true);
    InfoLabel.setCaption("InfoLabel");
    InfoLabel.setFont(Font{"Tahoma", 12, true, toolkit::kRed});
    InfoLabel.setTransparent(true);

    placeButtonPicture(bnCloseDisable, 874, false, Cursor::NotAllowed);
    placeButtonPicture(bnCloseActive, 874, false, Cursor::Default);
    placeButtonPicture(bnCloseHover, 874, false, Cursor::Hand);
    placeButtonPicture(bnCloseNormal, 874, true, Cursor::Hand);
    placeButtonPicture(bnInstallActive, 698, false, Cursor::Default);
    placeButtonPicture(bnInstallDisable, 698, true, Cursor::NotAllowed);
    placeButtonPicture(bnInstallHover, 698, false, Cursor::Hand);
    placeButtonPicture(bnInstallNormal, 698, false, Cursor::Hand);

    place(gauge, kGaugeAt);
    gauge.setMinValue(0);
    gauge.setMaxValue(100);
    gauge.setProgress(0);
    gauge.setBorder(false);
    gauge.setBackColor(toolkit::kSystemWindow);
    gauge.setForeColor(36095);
    gauge.setControlColor(toolkit::kOlive);
    gauge.setFont(kWindowFont);

    place(gaugeBG, kGaugeBGAt);
    gaugeBG.setTransparent(true);

    place(infoBox, kInfoBoxAt);
    infoBox.setReadOnly(true);
    infoBox.setVerticalScrollBar(true);
    infoBox.setTabStop(false);
    infoBox.setTabOrder(2);
    infoBox.setFont(kWindowFont);
    infoBox.setMenuCaptions("Kopiuj", "Zaznacz wszystko");

    place(Edit1, kEdit1At);
    Edit1.setTabOrder(0);
    Edit1.setText("C:\\Program Files\\CadLumor v. 2.0\\");
    Edit1.setCueText("Miejsce instalacji oprogramowania CAD");
    Edit1.setFont(kWindowFont);
    Edit1.setLabelledBy(&StaticText1);

    place(StaticText1, kStaticText1At);
    StaticText1.setAutoSize(true);
    StaticText1.setCaption("Miejsce instalacji pakietu, zmień jeśli konieczne.");
    StaticText1.setColor(toolkit::kWhite);
    StaticText1.setTabOrder(1);
    StaticText1.setFont(kWindowFont);

    place(ActivityIndicator, kActivityIndicatorAt);
    ActivityIndicator.setDotColor(toolkit::kBlack);
    ActivityIndicator.setAnimating(true);

    for (toolkit::Control* control : std::initializer_list<toolkit::Control*>{
             &BGfinish, &BG, &InfoLabel, &bnCloseDisable, &bnCloseActive, &bnCloseHover,
             &bnCloseNormal, &bnInstallActive, &bnInstallDisable, &bnInstallHover,
             &bnInstallNormal, &gauge, &gaugeBG, &infoBox, &Edit1, &StaticText1,
             &ActivityIndicator})
        window.add(*control);
    window.addTimer(Timer1);
    // Tab goes from the action to what changes it, then to the way out: Install, the folder
    // field, Close. Escape is Close.
    window.setFocusOrder({{&installKeys, nullptr}, {nullptr, &Edit1}, {&closeKeys, nullptr}});
    window.setCancelButton(&closeKeys);
}

void Form1Design::bindEvents(Form1Handlers& handlers) {
    // One callable type for every event (a handler of the same object), so that the table
    // costs one std::function manager and invoker rather than one per event.
    const auto bind = [&handlers](toolkit::Event& event, void (Form1Handlers::*handler)()) {
        event = [h = &handlers, handler] { (h->*handler)(); };
    };
    bind(window.onCreate, &Form1Handlers::FormCreate);
    bind(window.onClose, &Form1Handlers::FormClose);
    bind(Timer1.onTimer, &Form1Handlers::Timer1Timer);
    bind(bnCloseNormal.onClick, &Form1Handlers::CloseClick);
    bind(bnCloseNormal.onMouseEnter, &Form1Handlers::bnCloseEnter);
    bind(bnCloseHover.onClick, &Form1Handlers::CloseClick);
    bind(bnCloseHover.onMouseLeave, &Form1Handlers::bnCloseLeave);
    bind(bnInstallNormal.onMouseEnter, &Form1Handlers::bnInstallEnter);
    bind(bnInstallHover.onClick, &Form1Handlers::ButtonInstallClick);
    bind(bnInstallHover.onMouseLeave, &Form1Handlers::bnInstallLeave);
    bind(gaugeBG.onClick, &Form1Handlers::ButtonInstallClick);
    bind(Edit1.onChange, &Form1Handlers::CheckEdit);
    bind(Edit1.onClick, &Form1Handlers::Edit1Click);
}

void Form1Design::loadPictures(toolkit::Backend& backend) {
    for (toolkit::Picture* picture : {&BGfinish, &BG, &gaugeBG})
        picture->setImage(backend.loadAsset(picture->name(), picture->width(), picture->height()));
    // The eight button looks are one built-in picture, stacked in this order (ui/assets/render.sh).
    const std::initializer_list<toolkit::Picture*> looks = {
        &bnInstallNormal, &bnInstallHover, &bnInstallActive, &bnInstallDisable,
        &bnCloseNormal, &bnCloseHover, &bnCloseActive, &bnCloseDisable};
    const int lookWidth = bnInstallNormal.width(), lookHeight = bnInstallNormal.height();
    const toolkit::Image sheet =
        backend.loadAsset("buttonLooks", lookWidth, lookHeight * static_cast<int>(looks.size()));
    int top = 0;
    for (toolkit::Picture* look : looks) {
        look->setImage(backend.crop(sheet, 0, top, lookWidth, lookHeight));
        top += lookHeight;
    }
}

}  // namespace ui
