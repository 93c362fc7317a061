// One report the DuckDB or the Polars way, from the file on disk to the CSV
// written: every column read as text, Gross, Fee and Net read as numbers
// where they are numbers, then per day, per month or per lower-cased status
// the count and the total, average, highest and lowest of each.
//
// usage: node report_vs_peers.mjs duckdb|polars FILE daily|monthly|status OUT.csv
import { createRequire } from 'node:module';

const [tool, path, kind, out] = process.argv.slice(2);
const require = createRequire(process.env.PEERS_NODE_MODULES + '/');
const fields = ['Gross', 'Fee', 'Net'];

if (tool === 'duckdb') {
  const { DuckDBInstance } = require('@duckdb/node-api');
  const instance = await DuckDBInstance.create(':memory:');
  const db = await instance.connect();
  const key = kind === "daily" ? "\"Date\"" : kind === "monthly" ? "substr(\"Date\", 1, 7)" : "lower(\"Status\")";
  const aggs = ['sum', 'avg', 'max', 'min']
    .flatMap((how) => fields.map((f) => `${how}(TRY_CAST(${f} AS DOUBLE))`))
    .join(', ');
  const src = `read_csv('${path}', all_varchar = true, header = true)`;
  await db.run(
    `COPY (SELECT ${key} AS k, count(*) AS n, ${aggs} FROM ${src} GROUP BY k ORDER BY k) ` +
      `TO '${out}' (HEADER, DELIMITER ',')`);
} else {
  const pl = require('nodejs-polars');
  const key =
    kind === 'daily' ? pl.col('Date') : kind === 'monthly' ? pl.col('Date').str.slice(0, 7) : pl.col('Status').str.toLowerCase();
  const numbers = fields.map((f) => pl.col(f).cast(pl.Float64, false).alias(f));
  const aggs = [pl.col('Gross').count().alias('n')];
  for (const how of ['sum', 'mean', 'max', 'min'])
    for (const f of fields) aggs.push(pl.col(f)[how]().alias(`${how} ${f}`));
  const frame = pl
    .scanCSV(path, { inferSchemaLength: 0 })
    .select(key.alias('k'), ...numbers)
    .groupBy('k')
    .agg(...aggs)
    .sort('k')
    .collectSync();
  frame.writeCSV(out);
}
