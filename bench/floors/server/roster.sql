-- The roster: the table, and of every employee the area, name and position.
-- The same statements as the program sends to a PostgreSQL server.
@OPEN_TABLE@
SELECT row_id, "area", "Fullname", "position"
  FROM "Employees" WHERE row_id BETWEEN 1 AND @NUMBER@ ORDER BY row_id;
