// Fault injection for tests: counts platform calls and fails a chosen one.
#include "faults.h"

#ifdef QM_FAULT_INJECTION

namespace {

struct FaultPlan {
    PlatOp op = PlatOp::Any;
    unsigned failAt = 0;  // 1-based; 0 = disarmed
    unsigned counts[static_cast<int>(PlatOp::Count)] = {};
    bool fired = false;
    PlatOp firedOp = PlatOp::Any;
    unsigned long error = 0;
};

FaultPlan g_plan;

}  // namespace

bool PlatFaultHit(PlatOp op) {
    ++g_plan.counts[static_cast<int>(op)];
    unsigned n = ++g_plan.counts[static_cast<int>(PlatOp::Any)];
    if (g_plan.failAt == 0 || g_plan.fired) return false;
    unsigned seen = g_plan.op == PlatOp::Any ? n : g_plan.counts[static_cast<int>(op)];
    if ((g_plan.op == PlatOp::Any || g_plan.op == op) && seen == g_plan.failAt) {
        g_plan.fired = true;
        g_plan.firedOp = op;
        return true;
    }
    return false;
}

void PlatFailNth(PlatOp op, unsigned k, unsigned long error) {
    g_plan = FaultPlan{};
    g_plan.op = op;
    g_plan.failAt = k;
    g_plan.error = error;
}

unsigned long PlatFaultError() { return g_plan.error; }

unsigned PlatCallCount(PlatOp op) { return g_plan.counts[static_cast<int>(op)]; }

void PlatResetCounts() { g_plan = FaultPlan{}; }

bool PlatFaultFired() { return g_plan.fired; }

PlatOp PlatFiredOp() { return g_plan.firedOp; }

#endif
