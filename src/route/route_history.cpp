#include "route/route_history.h"

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
    for (const std::string& image : redo_) bytes_ -= image.size();
    redo_.clear();
    keep(undo_, std::move(before_));
    if (listener_) listener_();
}

void RouteHistory::beforeChange() {
    if (!restoring_ && steps_ == 0) begin();
}

void RouteHistory::afterChange() {
    if (!restoring_ && steps_ == 0) end();
}

RouteHistory::Step::Step(RouteHistory& history) : history_(history) {
    if (history_.steps_++ == 0) history_.begin();
}

RouteHistory::Step::~Step() {
    if (--history_.steps_ == 0) history_.end();
}

void RouteHistory::keep(std::deque<std::string>& stack, std::string image) {
    bytes_ += image.size();
    stack.push_back(std::move(image));
    // Over the bounds the steps furthest from the present go first: the oldest undo steps,
    // then the redo steps furthest ahead; the step nearest the present of each stays.
    for (auto* steps : {&undo_, &redo_}) {
        while ((steps->size() > kMaxSteps || bytes_ > kMaxBytes) && steps->size() > 1) {
            bytes_ -= steps->front().size();
            steps->pop_front();
        }
    }
}

void RouteHistory::move(std::deque<std::string>& from, std::deque<std::string>& to) {
    if (from.empty()) return;
    std::string image = std::move(from.back());
    from.pop_back();
    bytes_ -= image.size();
    keep(to, route_.imageBytes());
    restoring_ = true;
    route_.loadBytes(image);
    restoring_ = false;
    if (listener_) listener_();
}

void RouteHistory::undo() { move(undo_, redo_); }

void RouteHistory::redo() { move(redo_, undo_); }

}  // namespace lumor
