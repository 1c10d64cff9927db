# Tests of engine/calendar (paths relative to tests/).
