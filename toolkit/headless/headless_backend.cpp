// The headless backend: virtual clock, scripted input and recorded output.
#include "toolkit/headless/headless_backend.h"

#include <algorithm>
#include <functional>
#include <stdexcept>

#include "platform/concat.h"
#include "toolkit/edit.h"
#include "toolkit/gauge.h"
#include "toolkit/toolkit_error.h"

namespace toolkit {

namespace {

// The headless backend's pixels: none, only a size.
class BlankImage : public ImageData {
    const void* maker() const override { return &kBlankImageMaker; }
    static constexpr char kBlankImageMaker = 0;
};

Image blank(int width, int height) {
    return Image{width, height, std::shared_ptr<const ImageData>(new BlankImage)};
}

}  // namespace

HeadlessBackend::HeadlessBackend(ImageDecoder* decoder) : decoder_(decoder) {
    dispatcher().setAfterEvent([this] {
        if (pointer_) pointer_->refresh();
    });
}

HeadlessBackend::~HeadlessBackend() = default;

void HeadlessBackend::initialize(const Application& application) { application_ = application; }

void HeadlessBackend::attach(Form& form) {
    form_ = &form;
    form.setObserver(this);
    for (Control* control : form.controls()) {
        control->setObserver(this);
        if (auto* gauge = controlAs<Gauge>(control))
            gauge->setImmediateRepaint([this](Gauge& g) { repaintNow(g); });
    }
    for (Timer* timer : form.timers()) {
        timer->setObserver(this);
        timerChanged(*timer);
    }
    pointer_ = std::make_unique<PointerTracker>(form, dispatcher());
    keyboard_ = std::make_unique<KeyboardNavigator>(form, dispatcher());
}

void HeadlessBackend::detach(Form& form) {
    if (&form != form_) return;
    form.setObserver(nullptr);
    for (Control* control : form.controls()) {
        control->setObserver(nullptr);
        if (auto* gauge = controlAs<Gauge>(control)) gauge->setImmediateRepaint(nullptr);
    }
    for (Timer* timer : form.timers()) {
        timer->setObserver(nullptr);
        unschedule(*timer);
    }
    keyboard_.reset();
    pointer_.reset();
    form_ = nullptr;
}

void HeadlessBackend::run(Form& form) {
    if (&form != form_) throw std::logic_error(platform::concat({"run: form not attached: ", form.name()}));
    shown_ = true;
    while (!closed_) {
        if (!queue_.empty()) {
            auto action = std::move(queue_.front());
            queue_.erase(queue_.begin());
            action();
            continue;
        }
        long long next = -1;
        for (const auto& [timer, due] : dueAt_)
            if (next < 0 || due < next) next = due;
        if (next < 0 || next - nowMs_ > idleLimitMs_) break;
        advanceTime(next - nowMs_);
    }
}

void HeadlessBackend::close(Form& form) {
    if (&form != form_) return;
    closed_ = true;
    shown_ = false;
}

void HeadlessBackend::requestClose() {
    // As the Win32 window: a request that comes while a handler works is dropped.
    if (!form_ || closed_ || dispatcher().handlerRunning()) return;
    dispatcher().closeRequested(*form_);
    close(*form_);
}

void HeadlessBackend::repaintNow(Control&) {}

void HeadlessBackend::showErrorReport(const std::string& message) {
    errorReports_.push_back(message);
}

Image HeadlessBackend::loadJpegFile(const std::string& path) {
    if (!decoder_) throw ToolkitError(ToolkitFault::NoPictureDecoder, path);
    return decoder_->decodeJpegFile(path);
}

Image HeadlessBackend::loadAsset(const std::string&, int width, int height) { return blank(width, height); }

Image HeadlessBackend::stretch(const Image& image, int width, int height) {
    if (image.empty()) throw std::invalid_argument("stretch: empty picture");
    return Image{width, height, image.data};
}

Image HeadlessBackend::crop(const Image& image, int x, int y, int width, int height) {
    if (!image.contains(x, y, width, height)) throw std::invalid_argument("crop: part outside the picture");
    return Image{width, height, image.data};
}

std::optional<std::string> HeadlessBackend::chooseFolder(const std::string&, const std::string&) {
    return std::nullopt;
}

void HeadlessBackend::advanceTime(long long ms) {
    const long long target = nowMs_ + ms;
    while (!closed_) {
        const Timer* nextTimer = nullptr;
        long long next = 0;
        long long* nextDue = nullptr;
        // Timers due at the same moment tick in address order, as they always have.
        for (auto& [timer, due] : dueAt_)
            if (due <= target && (!nextTimer || due < next || (due == next && std::less<const Timer*>()(timer, nextTimer)))) {
                nextTimer = timer;
                next = due;
                nextDue = &due;
            }
        if (!nextTimer) break;
        nowMs_ = next;
        Timer& timer = *const_cast<Timer*>(nextTimer);
        *nextDue = next + std::max(1, timer.intervalMs());
        dispatcher().timerTick(timer);
    }
    nowMs_ = target;
}

// Input made while a handler works reaches no handler (the Win32 window takes none then), nor
// the pointer's state, which would then disagree with what the pictures were told.
void HeadlessBackend::moveMouseTo(int x, int y) {
    if (!dispatcher().handlerRunning()) pointer().moveTo(x, y);
}

void HeadlessBackend::moveMouseOnto(const std::string& name) {
    Control& c = named(name);
    moveMouseTo(c.left() + c.width() / 2, c.top() + c.height() / 2);
}

void HeadlessBackend::moveMouseOff() {
    if (!dispatcher().handlerRunning()) pointer().leaveWindow();
}

void HeadlessBackend::click() {
    if (!dispatcher().handlerRunning()) pointer().click();
}

void HeadlessBackend::clickOn(const std::string& name) {
    moveMouseOnto(name);
    click();
}

void HeadlessBackend::typeInto(const std::string& editName, const std::string& text) {
    auto* edit = controlAs<Edit>(&named(editName));
    if (!edit) throw std::invalid_argument(platform::concat({"not an edit field: ", editName}));
    dispatcher().userEditedText(*edit, text);
}

void HeadlessBackend::clickEdit(const std::string& editName) {
    auto* edit = controlAs<Edit>(&named(editName));
    if (!edit) throw std::invalid_argument(platform::concat({"not an edit field: ", editName}));
    dispatcher().editClick(*edit);
}

// A closed window takes no more keys.
bool HeadlessBackend::pressKey(Key key) { return !closed_ && keyboard().press(key); }

bool HeadlessBackend::pressAccessKey(char letter) { return !closed_ && keyboard().accessKey(letter); }

PointerTracker& HeadlessBackend::pointer() {
    if (!pointer_) throw std::logic_error("no form attached");
    return *pointer_;
}

KeyboardNavigator& HeadlessBackend::keyboard() {
    if (!keyboard_) throw std::logic_error("no form attached");
    return *keyboard_;
}

Form& HeadlessBackend::form() {
    if (!form_) throw std::logic_error("no form attached");
    return *form_;
}

void HeadlessBackend::controlChanged(Control&) {}

void HeadlessBackend::timerChanged(Timer& timer) {
    if (!timer.enabled()) return unschedule(timer);
    const long long due = nowMs_ + std::max(1, timer.intervalMs());
    for (auto& entry : dueAt_)
        if (entry.first == &timer) {
            entry.second = due;
            return;
        }
    dueAt_.emplace_back(&timer, due);
}

void HeadlessBackend::unschedule(const Timer& timer) {
    for (auto entry = dueAt_.begin(); entry != dueAt_.end(); ++entry)
        if (entry->first == &timer) {
            dueAt_.erase(entry);
            return;
        }
}

Control& HeadlessBackend::named(const std::string& name) {
    Form& f = form();
    if (f.name() == name) return f;
    if (Control* c = f.find(name)) return *c;
    throw std::invalid_argument(platform::concat({"no component named ", name}));
}

}  // namespace toolkit
