#pragma once
#include "route/route_list.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>

namespace lumor {

/// The route's undo and redo. Every change of the route, from whichever window, is one step:
/// the history keeps the route's file image from before it and a Czech text saying what the
/// step did ("odebrat Konektor SC/PC"). The history is bounded: at most `kMaxSteps` steps and
/// about `kMaxBytes` of images (undo and redo together; the step next to the present in each
/// direction is always kept), the oldest dropped first: a route of ten components (28 kB an
/// image) keeps 100 steps in under 3 MB, one of 999 components (2,8 MB an image) about eleven
/// in 32 MB. It knows which of its states is the route as it was saved or opened (the clean
/// state), so undoing back to it leaves the route unchanged.
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
    /// The route as it was before the last change (nothing when there is none). Should the
    /// route not take the image back (no memory), nothing changes, the history included.
    void undo();
    /// The change undone last, again.
    void redo();
    /// What undo would take back, what redo would do again: "odebrat Konektor SC/PC"; empty
    /// when there is nothing.
    std::string undoText() const;
    std::string redoText() const;
    /// The route as it is now is the one in its file (just saved or opened) or a new one.
    void setClean();
    /// True while the route is in the clean state, also when undo or redo led back to it.
    bool isClean() const { return clean_ == static_cast<long long>(undo_.size()); }
    /// Bytes the kept images take.
    std::size_t bytes() const { return bytes_; }
    /// Called whenever a step is kept, undone or redone (a window's undo and redo commands
    /// follow it); nothing to stop.
    void setListener(std::function<void()> listener) { listener_ = std::move(listener); }

    /// While a step lives, every change of the route belongs to one undo step (opening a file:
    /// clearing the route, then loading it), with the given text (empty: the history names it).
    class Step {
    public:
        explicit Step(RouteHistory& history, std::string text = {});
        ~Step();
        Step(const Step&) = delete;
        Step& operator=(const Step&) = delete;

    private:
        RouteHistory& history_;
    };

private:
    /// A state of the route the history can return to, and the step that leads between it and
    /// its neighbour nearer the present.
    struct Entry {
        std::string image;
        std::string text;
    };

    void beforeChange() override;
    void afterChange() override;
    void begin();
    void end();
    void keep(std::deque<Entry>& stack, Entry entry);
    void move(std::deque<Entry>& from, std::deque<Entry>& to);

    RouteList& route_;
    std::deque<Entry> undo_, redo_;  ///< the nearest state to the present at the back of each
    std::size_t bytes_ = 0;
    std::string before_;                ///< the image before the change under way
    std::uint64_t beforeRevision_ = 0;  ///< the route's revision then
    std::string stepText_;              ///< the text an open `Step` gave
    int steps_ = 0;                     ///< open `Step`s
    bool restoring_ = false;            ///< an undo or redo under way is no new step
    /// The clean state by its number: the kept states are numbered from the oldest (0) through
    /// the present (the number of undo steps) on into the redo steps; -1 when none is clean.
    long long clean_ = 0;
    std::function<void()> listener_;
};

/// What a change of the route did, told from its images before and after, in Czech: "přidat
/// Zdroj LED", "odebrat Konektor SC", "posunout Vlákno G.652", "změnit délku Vlákno G.652",
/// "změnit trasu" for anything else.
std::string routeChangeText(const std::string& before, const std::string& after);

}  // namespace lumor
