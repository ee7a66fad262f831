// Runs the peer packer on the benchmark instances read from standard input
// (one line each: container width, length, height, carton length, width,
// height in millimetres, upright 0/1, upper bound) and prints, for every
// instance of at most MAX cartons, its index, the cartons it packed and the
// milliseconds it took. The peer is given as many cartons as the bound says
// can fit.
// PEER_MODULES names the scratch folder's node_modules.
import path from 'node:path';
import readline from 'node:readline';
import { pathToFileURL } from 'node:url';

const modules = process.env.PEER_MODULES || 'node_modules';
const { pack3D } = await import(
  pathToFileURL(path.resolve(modules, 'binpackingjs/dist/esm/index.js')).href);

const max = Number(process.env.PEER_MAX_CARTONS || 1500);
const only = process.env.PEER_ONLY ? new Set(process.env.PEER_ONLY.split(',').map(Number)) : null;
const lines = [];
readline.createInterface({ input: process.stdin }).on('line', (l) => lines.push(l)).on('close', () => {
  lines.forEach((line, index) => {
    if (only && !only.has(index)) return;
    const [W, L, H, l, w, h, upright, bound] = line.trim().split(/\s+/).map(Number);
    if (!(bound > 0) || bound > max) return;
    // The peer's height axis is vertical; depth runs along the container.
    const bin = { name: 'container', width: W, height: H, depth: L, maxWeight: 1e12 };
    const items = [];
    for (let i = 0; i < bound; ++i) {
      items.push({ name: 'c' + i, width: l, height: h, depth: w, weight: 1,
                   allowedRotations: upright ? [0, 3] : undefined });
    }
    const start = process.hrtime.bigint();
    const result = pack3D({ bins: [bin], items });
    const ms = Number(process.hrtime.bigint() - start) / 1e6;
    const packed = result.packedBins[0].items.length;
    console.log(`${index} ${packed} ${ms.toFixed(1)}`);
  });
});
