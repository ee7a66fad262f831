// Runs the peer packer on the mixed-load benchmark instances read from
// standard input (mixed_report --instances: class, problem, container
// length, width, height in cm, the number of types, then per type its sides,
// which may stand vertical and its quantity) and prints, per instance, its
// class, problem and the per cent of the container's volume packed.
// PEER_MODULES names the scratch folder's node_modules.
import path from 'node:path';
import readline from 'node:readline';
import { pathToFileURL } from 'node:url';

const modules = process.env.PEER_MODULES || 'node_modules';
const { pack3D } = await import(
  pathToFileURL(path.resolve(modules, 'binpackingjs/dist/esm/index.js')).href);

// The peer's rotations keeping each of an item's width, depth, height
// vertical (its height axis is vertical; depth runs along the container).
const upright = [[1, 4], [2, 5], [0, 3]];
const lines = [];
readline.createInterface({ input: process.stdin }).on('line', (l) => lines.push(l)).on('close', () => {
  for (const line of lines) {
    const v = line.trim().split(/\s+/).map(Number);
    const [cls, problem, L, W, H, n] = v;
    const bin = { name: 'container', width: W, height: H, depth: L, maxWeight: 1e12 };
    const items = [];
    for (let t = 0; t < n; ++t) {
      const [a, b, c, va, vb, vc, q] = v.slice(6 + 7 * t, 13 + 7 * t);
      const rotations = [va, vb, vc].flatMap((ok, j) => (ok ? upright[j] : []));
      for (let i = 0; i < q; ++i) {
        items.push({ name: `t${t}c${i}`, width: a, depth: b, height: c, weight: 1,
                     allowedRotations: rotations });
      }
    }
    const result = pack3D({ bins: [bin], items });
    let volume = 0;
    for (const item of result.packedBins[0].items) {
      const s = item.sourceItem || item;
      volume += s.width * s.height * s.depth;
    }
    console.log(`${cls} ${problem} ${(100 * volume / (L * W * H)).toFixed(2)}`);
  }
});
