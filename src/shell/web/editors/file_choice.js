// What a file field stores for a file picked in the server's file browser: a file inside one of
// the data root's own folders is named from that folder on, as the builders look it up there;
// any other file by its full path.

// keepAfter lists those folders, each a folder name ("photos/") or {folder, keep} where the
// stored name starts with keep, the end of folder ("images/" of "mc_thumb/html/_default/images/").
export function storedFileName({ root, path, folderPath }, { keepAfter = [] } = {}) {
  if (root === "data") {
    for (const entry of keepAfter) {
      const { folder, keep = "" } = typeof entry === "string" ? { folder: entry } : entry;
      const at = `/${path}`.indexOf(`/${folder}`);
      if (at >= 0) return keep + path.slice(at + folder.length);
    }
  }
  const name = path.split("/").pop();
  return folderPath ? `${folderPath.replace(/\/$/, "")}/${name}` : path;
}

// Where the builders look for a page or letter picture given by name.
export const pictureFolders = ["photos/", { folder: "mc_thumb/html/_default/images/", keep: "images/" }];
