-- What every server floor run pays before its statements: psql starting and
-- connecting. run.sh takes this off every server floor.
SELECT 1;
