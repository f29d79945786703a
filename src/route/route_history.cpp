#include "route/route_history.h"

#include "route/route_rules.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace lumor {

RouteHistory::RouteHistory(RouteList& route) : route_(route) { route_.setObserver(this); }

RouteHistory::~RouteHistory() { route_.setObserver(nullptr); }

void RouteHistory::begin() {
    before_ = route_.imageBytes();
    beforeRevision_ = route_.revision();
}

void RouteHistory::end() {
    // A command that changed nothing (a refused removal, a cancelled dialog) is no step.
    if (route_.revision() == beforeRevision_) return;
    for (const Entry& e : redo_) bytes_ -= e.image.size();
    redo_.clear();
    // A clean state among the redo steps can no longer be reached.
    if (clean_ > static_cast<long long>(undo_.size())) clean_ = -1;
    std::string text = stepText_.empty() ? routeChangeText(before_, route_.imageBytes()) : stepText_;
    keep(undo_, {std::move(before_), std::move(text)});
    if (listener_) listener_();
}

void RouteHistory::beforeChange() {
    if (!restoring_ && steps_ == 0) begin();
}

void RouteHistory::afterChange() {
    if (!restoring_ && steps_ == 0) end();
}

RouteHistory::Step::Step(RouteHistory& history, std::string text) : history_(history) {
    if (history_.steps_++ == 0) {
        history_.stepText_ = std::move(text);
        history_.begin();
    }
}

RouteHistory::Step::~Step() {
    if (--history_.steps_ == 0) {
        history_.end();
        history_.stepText_.clear();
    }
}

void RouteHistory::keep(std::deque<Entry>& stack, Entry entry) {
    bytes_ += entry.image.size();
    stack.push_back(std::move(entry));
    // Over the bounds the steps furthest from the present go first: the oldest undo steps,
    // then the redo steps furthest ahead; the step nearest the present of each stays.
    for (auto* steps : {&undo_, &redo_}) {
        while ((steps->size() > kMaxSteps || bytes_ > kMaxBytes) && steps->size() > 1) {
            const auto furthest = static_cast<long long>(undo_.size() + redo_.size());
            if (steps == &undo_) {
                // The oldest state goes: every state is one step nearer the first.
                clean_ = clean_ <= 0 ? -1 : clean_ - 1;
            } else if (clean_ == furthest) {
                clean_ = -1;
            }
            bytes_ -= steps->front().image.size();
            steps->pop_front();
        }
    }
}

void RouteHistory::move(std::deque<Entry>& from, std::deque<Entry>& to) {
    if (from.empty()) return;
    // The route takes the image first: should that fail, neither the route nor the history
    // has changed.
    std::string present = route_.imageBytes();
    {
        restoring_ = true;
        struct Restored {
            bool& flag;
            ~Restored() { flag = false; }
        } restored{restoring_};
        route_.loadBytes(from.back().image);
    }
    Entry entry = std::move(from.back());
    from.pop_back();
    bytes_ -= entry.image.size();
    // The states keep their numbers; only the present moved.
    keep(to, {std::move(present), std::move(entry.text)});
    if (listener_) listener_();
}

void RouteHistory::undo() { move(undo_, redo_); }

void RouteHistory::redo() { move(redo_, undo_); }

std::string RouteHistory::undoText() const { return undo_.empty() ? std::string() : undo_.back().text; }

std::string RouteHistory::redoText() const { return redo_.empty() ? std::string() : redo_.back().text; }

void RouteHistory::setClean() { clean_ = static_cast<long long>(undo_.size()); }

namespace {

std::string_view recordAt(const std::string& image, std::size_t k) {
    return std::string_view(image).substr(k * ComponentRecord::kImageSize, ComponentRecord::kImageSize);
}

std::string titleOf(std::string_view bytes) {
    ComponentRecord record;
    std::memcpy(record.image.data(), bytes.data(), std::min(bytes.size(), record.image.size()));
    return componentTitle(record);
}

}  // namespace

std::string routeChangeText(const std::string& before, const std::string& after) {
    constexpr std::size_t size = ComponentRecord::kImageSize;
    const std::size_t n = before.size() / size;
    const std::size_t m = after.size() / size;
    // The records equal from the front and from the back; what lies between changed.
    std::size_t front = 0;
    while (front < n && front < m && recordAt(before, front) == recordAt(after, front)) ++front;
    std::size_t back = 0;
    while (back < n - front && back < m - front && recordAt(before, n - 1 - back) == recordAt(after, m - 1 - back))
        ++back;
    const std::size_t changedBefore = n - front - back;
    const std::size_t changedAfter = m - front - back;
    if (changedBefore == 0 && changedAfter == 1) return "přidat " + titleOf(recordAt(after, front));
    if (changedBefore == 1 && changedAfter == 0) return "odebrat " + titleOf(recordAt(before, front));
    if (changedBefore == 1 && changedAfter == 1) {
        ComponentRecord was, is;
        std::memcpy(was.image.data(), recordAt(before, front).data(), size);
        std::memcpy(is.image.data(), recordAt(after, front).data(), size);
        const bool length = SlotText(was, ComponentSlot::Length) != SlotText(is, ComponentSlot::Length);
        return (length ? "změnit délku " : "změnit ") + componentTitle(is);
    }
    if (changedBefore == changedAfter && changedBefore >= 2) {
        // One record taken out of the range and put in at its other end.
        const std::size_t last = front + changedBefore - 1;
        if (recordAt(before, front) == recordAt(after, last) &&
            before.compare(front * size + size, (changedBefore - 1) * size, after, front * size,
                           (changedBefore - 1) * size) == 0)
            return "posunout " + titleOf(recordAt(before, front));
        if (recordAt(before, last) == recordAt(after, front) &&
            before.compare(front * size, (changedBefore - 1) * size, after, front * size + size,
                           (changedBefore - 1) * size) == 0)
            return "posunout " + titleOf(recordAt(before, last));
    }
    return "změnit trasu";
}

}  // namespace lumor
