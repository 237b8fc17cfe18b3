-- The roster: the table, and of every employee the area, name and position.
-- The same statements as the program sends to a PostgreSQL server.
SELECT relname FROM pg_class WHERE relkind IN ('r', 'v', 'p') AND relnamespace = current_schema()::regnamespace
   AND lower(relname) = lower('Employees') ORDER BY relname = 'Employees' DESC;
SELECT attname, format_type(atttypid, atttypmod) FROM pg_attribute
 WHERE attrelid = (SELECT oid FROM pg_class WHERE relname = 'Employees' AND relnamespace = current_schema()::regnamespace)
   AND attnum > 0 AND NOT attisdropped ORDER BY attnum;
SELECT row_id FROM "Employees" ORDER BY row_id;
SELECT row_id, "area", "Fullname", "position"
  FROM "Employees" WHERE row_id BETWEEN 1 AND @NUMBER@ ORDER BY row_id;
