-- Opening the table on the server, as the program does before a read: its
-- name whatever the letter case, its columns, its row numbers.
SELECT relname FROM pg_class WHERE relkind IN ('r', 'v', 'p') AND relnamespace = current_schema()::regnamespace
   AND lower(relname) = lower('Employees') ORDER BY relname = 'Employees' DESC;
SELECT attname, format_type(atttypid, atttypmod) FROM pg_attribute
 WHERE attrelid = (SELECT oid FROM pg_class WHERE relname = 'Employees' AND relnamespace = current_schema()::regnamespace)
   AND attnum > 0 AND NOT attisdropped ORDER BY attnum;
SELECT row_id FROM "Employees" ORDER BY row_id;
