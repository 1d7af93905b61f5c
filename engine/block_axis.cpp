#include "engine/block_axis.h"

namespace {

class OneRecord {
public:
    explicit OneRecord(const AxisRecord& record) : record(record) {}
    template <typename Field> double number(Field field) const { return field(record); }
    template <typename Field> bool flag(Field field) const { return field(record); }

private:
    const AxisRecord& record;
};

class OneRecordOut {
public:
    explicit OneRecordOut(AxisRecord& record) : record(record) {}
    template <typename Store> void put(double value, Store store) { store(record, static_cast<float>(value)); }

private:
    AxisRecord& record;
};

} // namespace

BlockAxis takeAxis(const AxisRecord& record) {
    BlockAxis axis;
    axis.motion = takeMotion<double>(OneRecord(record));
    axis.targetAtStart = record.target;
    axis.motion.target = finiteOrZero(axis.targetAtStart);
    axis.sourceSlot = sourceSlotOf(record);
    return axis;
}

void putAxis(const BlockAxis& axis, AxisRecord& record) {
    OneRecordOut out(record);
    putPositionState(axis.motion, out);
    putModulationState(axis.motion, out);
    putResults(axis.motion, out);
    putTarget(record, axis.targetAtStart, axis.motion.target);
}
