# Tests of engine/compute (paths relative to tests/).
