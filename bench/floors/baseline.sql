-- What every floor run pays before its statements: the program starting, the
-- file opened and its schema read. run.sh takes this off every floor.
SELECT count(*) FROM sqlite_master;
