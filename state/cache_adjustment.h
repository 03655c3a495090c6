#pragma once
// One cache adjustment at a time per process: an adjustment that starts
// while another runs is skipped, not queued, since the running one already
// makes the room. Other processes are not coordinated.
class CacheAdjustmentTurn {
  public:
    CacheAdjustmentTurn();
    ~CacheAdjustmentTurn();
    CacheAdjustmentTurn(const CacheAdjustmentTurn&) = delete;
    CacheAdjustmentTurn& operator=(const CacheAdjustmentTurn&) = delete;

    // False when another adjustment of this process was already running.
    bool IsOnlyOne() const { return onlyOne_; }

  private:
    bool onlyOne_;
};
