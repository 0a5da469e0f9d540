// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
//
// The test tools' lock file installs as it is with Debian 12's own npm (9.2)
// as with a newer one, today and after the registry moves on:
// - no package asks for another by a tag ("latest", "next"): npm ci
//   resolves a tag against the registry of the day, so a lock file that
//   held yesterday's "latest" is out of sync the day a new one is published;
// - no "overrides" in package.json: npm 9.2 stops on an override of a
//   package that another asks for by a tag ("Invalid comparator: latest"),
//   and says only that no lock file is there.
// Lighthouse from 12.3 on asks for two packages at "latest" (through
// @paulirish/trace_engine), which is why 12.2.3 is pinned.
//   node lock_file_check.mjs [folder of package.json]
import fs from 'node:fs';
import path from 'node:path';

const folder = path.resolve(process.argv[2] ?? '.');
const manifest = JSON.parse(fs.readFileSync(path.join(folder, 'package.json'), 'utf8'));
const lock = JSON.parse(fs.readFileSync(path.join(folder, 'package-lock.json'), 'utf8'));

const faults = [];
if (manifest.overrides) faults.push('package.json has "overrides": Debian\'s npm 9.2 cannot apply them where a tag is asked');
// A semver range, an alias or a file or git source: pinned by the lock. A bare word: a tag.
const isTag = (wanted) => /^[A-Za-z][\w.-]*$/.test(wanted.trim()) && !/^x$/i.test(wanted.trim());
const asked = (entry) => ({ ...entry.dependencies, ...entry.optionalDependencies, ...entry.peerDependencies, ...entry.devDependencies });
for (const [where, entry] of Object.entries({ root: manifest, ...lock.packages })) {
  for (const [name, wanted] of Object.entries(asked(entry))) {
    if (isTag(wanted)) faults.push(`${where || 'root'} asks for ${name} by the tag "${wanted}"`);
  }
}
for (const [name, version] of Object.entries(manifest.devDependencies ?? {})) {
  if (!/^\d+\.\d+\.\d+$/.test(version)) faults.push(`${name} is not pinned to one version: "${version}"`);
}
for (const fault of faults) console.log(`FAIL ${fault}`);
console.log(faults.length ? `lock file check: ${faults.length} failed` : `lock file check: passed (${Object.keys(lock.packages).length - 1} packages)`);
process.exitCode = faults.length ? 1 : 0;
