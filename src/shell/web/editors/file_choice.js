// What a file field stores for a file picked in the server's file browser: a file inside one of
// the data root's own folders is named from that folder on, as the builders look it up there;
// any other file by its full path.

export function storedFileName({ root, path, folderPath }, { keepAfter = [] } = {}) {
  if (root === "data") {
    for (const prefix of keepAfter) {
      const at = `/${path}`.indexOf(`/${prefix}`);
      if (at >= 0) return path.slice(at + prefix.length);
    }
  }
  const name = path.split("/").pop();
  return folderPath ? `${folderPath.replace(/\/$/, "")}/${name}` : path;
}
