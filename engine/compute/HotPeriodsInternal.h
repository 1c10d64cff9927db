// HotPeriods: the progress of 6621(c) (hot) interest along one walk in time.
//
// Hot interest starts after its effective start date; with the restart option
// it stops after 31 December 1997 and starts again after the effective
// restart date. The penalty loops ask for the next change after their current
// date, cut their period there, accrue the period with the state as it stood
// (`active`), and apply the change afterwards, so the increment applies from
// the day after a start date and ends with 31 December 1997.
//
// One rule for the restart, used by the main interest walk and the penalty
// loops alike (HotRestartTakesEffect): the option stops hot interest after
// 31 December 1997 and restarts it only when hot interest started on or
// before that day and the restart date lies after it. Dates that cannot take
// effect (no restart date, a restart on or before 31 December 1997, a start
// after it) leave hot interest running as without the option; the main
// computation then sets HotError. Changes are taken strictly in time order,
// so a walk never goes back.
// `CatchUp` applies the changes dated on or before a walk's first date (a
// penalty assessed after the start date earns hot interest from its own
// date).
// A plain value, local to one walk. Tests: start, stop and restart dates in
// order, restart dates that cannot take effect, catch-up at a late date.
#pragma once

#include "calendar/Date.h"

// The day after which hot interest stops under the restart option.
inline Date HotStopDate() { return Date(12, 31, 1997); }

// Whether the restart option can stop and restart hot interest that starts
// after `start` and restarts after `restart` (effective dates, invalid when
// none).
inline bool HotRestartTakesEffect(Date start, Date restart)
{
    return start.isValid() && !(HotStopDate() < start) && restart.isValid() && HotStopDate() < restart;
}

class HotPeriods {
public:
    // on: hot interest enabled; restartOn: restart option enabled;
    // start, restart: effective dates (invalid when none). The option counts
    // only when its dates can take effect.
    HotPeriods(int on, int restartOn, Date start, Date restart)
        : m_on(on != 0), m_restartOn(on != 0 && restartOn != 0 && HotRestartTakesEffect(start, restart)),
          m_start(start), m_restart(restart) {}

    static Date StopDate() { return HotStopDate(); }

    // Date of the next change still to come, or an invalid date when none.
    Date NextChange() const {
        if (!m_on) return Date();
        if (!m_started) return m_start;
        if (!m_restartOn || m_restarted) return Date();
        return m_stopped ? m_restart : StopDate();
    }

    // Applies the next change (the caller has reached its date).
    void ApplyNextChange() {
        if (!m_started) {
            m_started = true;
            m_active = true;
        } else if (!m_stopped) {
            m_stopped = true;
            m_active = false;
        } else {
            m_restarted = true;
            m_active = true;
        }
    }

    // Applies every change dated on or before `date`.
    void CatchUp(Date date) {
        for (Date next = NextChange(); next.isValid() && next <= date; next = NextChange())
            ApplyNextChange();
    }

    // Kind of the next change, for the records of the penalty stream:
    // 1 start, 2 stop, 3 restart, 0 none.
    int NextChangeKind() const {
        if (!NextChange().isValid()) return 0;
        if (!m_started) return 1;
        return m_stopped ? 3 : 2;
    }

    bool active() const { return m_active; }

private:
    bool m_on;
    bool m_restartOn;
    Date m_start;
    Date m_restart;
    bool m_started = false;
    bool m_stopped = false;
    bool m_restarted = false;
    bool m_active = false;
};
