#pragma once
#include "route/route_list.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>

namespace lumor {

/// The route's undo and redo. Every change of the route, from whichever window, is one step:
/// the history keeps the route's file image from before it. The history is bounded: at most
/// `kMaxSteps` steps and about `kMaxBytes` of images (undo and redo together; the step next to
/// the present in each direction is always kept), the oldest dropped first: a route of ten
/// components (28 kB an image) keeps 100 steps in under 3 MB, one of 999 components (2,8 MB an
/// image) about eleven in 32 MB.
class RouteHistory : private ListChangeObserver {
public:
    static constexpr std::size_t kMaxSteps = 100;
    static constexpr std::size_t kMaxBytes = std::size_t{32} << 20;

    explicit RouteHistory(RouteList& route);
    ~RouteHistory();
    RouteHistory(const RouteHistory&) = delete;
    RouteHistory& operator=(const RouteHistory&) = delete;

    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    /// The route as it was before the last change (nothing when there is none).
    void undo();
    /// The change undone last, again.
    void redo();
    /// Bytes the kept images take.
    std::size_t bytes() const { return bytes_; }
    /// Called whenever a step is kept, undone or redone (a window's undo and redo commands
    /// follow it); nothing to stop.
    void setListener(std::function<void()> listener) { listener_ = std::move(listener); }

    /// While a step lives, every change of the route belongs to one undo step (opening a file:
    /// clearing the route, then loading it).
    class Step {
    public:
        explicit Step(RouteHistory& history);
        ~Step();
        Step(const Step&) = delete;
        Step& operator=(const Step&) = delete;

    private:
        RouteHistory& history_;
    };

private:
    void beforeChange() override;
    void afterChange() override;
    void begin();
    void end();
    void keep(std::deque<std::string>& stack, std::string image);
    void move(std::deque<std::string>& from, std::deque<std::string>& to);

    RouteList& route_;
    std::deque<std::string> undo_, redo_;
    std::size_t bytes_ = 0;
    std::string before_;                ///< the image before the change under way
    std::uint64_t beforeRevision_ = 0;  ///< the route's revision then
    int steps_ = 0;                     ///< open `Step`s
    bool restoring_ = false;            ///< an undo or redo under way is no new step
    std::function<void()> listener_;
};

}  // namespace lumor
