# Tests of engine/ratetable (paths relative to tests/).
